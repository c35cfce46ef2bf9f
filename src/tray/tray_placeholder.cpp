// placeholder until the tray library has code
