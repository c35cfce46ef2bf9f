// placeholder until the render library has code
