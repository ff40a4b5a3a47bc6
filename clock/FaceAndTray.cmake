# Clock face (drawing, transparency, position, drag) and tray icon / popup menu: sources and tests.
