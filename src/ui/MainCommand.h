#pragma once

// Every command of the main window. Menus, toolbar buttons and the list's context menu that run
// the same command share one action; a command nobody has installed stays visibly unavailable.
enum class MainCommand {
    Import,
    Export,
    ExportText,
    Exit,
    NewLogin,
    EditLogin,
    ClipPassword,
    CopyLogin,
    DeleteLogin,
    UndoDelete,
    Find,
    Search,
    Asc,
    Desc,
    ToggleStatusBar,
    ViewLogs,
    Options,
    ToggleTips,
    Refresh,
    FileVault,
    HelpContents,
    HelpSearch,
    About,
};
