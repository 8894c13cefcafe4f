#pragma once

#include "app/AppState.h"
#include "app/DataFolder.h"

// The data folder a vault run locks and keeps its journals in; the run's own when it has one.
inline QString VaultDataFolder(const AppState &state)
{
    return state.DataFolder.isEmpty() ? DataFolderPath() : state.DataFolder;
}
