#pragma once

struct AppState;
class Settings;
class Ui;

// What every window is handed: the user interface port, the run's state and the settings.
struct AppContext
{
    Ui &ui;
    AppState &state;
    Settings &settings;
};
