#pragma once

#include "FaultOperations.h"

// The file vault's four operations: encrypt and decrypt, each with and without "Add password to
// Pellora", on a file of two chunks outside the data folder.
std::vector<FaultOperation> VaultFaultOperations();
