#pragma once

// Lets the windows paint, and take events, while a long run goes on. The run's own window keeps
// its buttons disabled and its closing back until the run ends.
void RepaintNow();
