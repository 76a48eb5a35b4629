// The window layer; replaced as the window grows.
