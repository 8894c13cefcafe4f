#pragma once

// The file dialog shared by the transfer-file export and the import dialog's browse button. The
// initial name is only a pattern, so the dialog starts without a preselected file.
namespace TransferFileDialog {
inline constexpr char Title[] = "Pellora Password Import/Export";
inline constexpr char Filter[] = "Pellora (*.pqx)|*.pqx";
inline constexpr char InitialName[] = "*.pqx";
} // namespace TransferFileDialog
