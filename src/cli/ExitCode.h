#pragma once

// The program's exit status, which scripts rely on.
namespace ExitCode {
inline constexpr int Done = 0;
// Refused or failed; the reason is on standard error.
inline constexpr int Failed = 1;
// The command line itself was wrong.
inline constexpr int Usage = 2;
} // namespace ExitCode
