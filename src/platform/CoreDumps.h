#pragma once

// Keeps secrets out of core images: the process becomes non-dumpable, so a crash writes no
// core and other processes of the same user cannot read its memory through ptrace.
void DisableCoreDumps();
