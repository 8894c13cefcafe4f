#pragma once

// Runs the program: start-up in its fixed order, then the main window until it closes.
int RunPellora();
