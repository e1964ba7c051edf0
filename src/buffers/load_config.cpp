// LoadConfig: placing the configuration dialog in the main window (built with the main window).
