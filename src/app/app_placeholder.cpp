// placeholder until the app library has code
