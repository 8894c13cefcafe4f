#pragma once

class CliUi;
class SecretSource;
class Settings;
struct AppState;

// What a command runs with: the user interface, the source of its secrets, and the run's state
// and settings, logged in unless the command needs no masters.
struct CommandContext
{
    CliUi &ui;
    SecretSource &secrets;
    AppState &state;
    Settings &settings;
};
