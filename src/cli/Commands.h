#pragma once

#include "cli/CommandLine.h"

// Each command's preparation: checks its options and arguments and returns what runs it.
CommandBody PrepareList(const Invocation &inv);
CommandBody PrepareSearch(const Invocation &inv);
CommandBody PrepareShow(const Invocation &inv);
CommandBody PrepareClip(const Invocation &inv);
CommandBody PrepareAdd(const Invocation &inv);
CommandBody PrepareEdit(const Invocation &inv);
CommandBody PrepareRemove(const Invocation &inv);
CommandBody PrepareGenerate(const Invocation &inv);
CommandBody PrepareExport(const Invocation &inv);
CommandBody PrepareImport(const Invocation &inv);
CommandBody PrepareExportText(const Invocation &inv);
CommandBody PrepareEncrypt(const Invocation &inv);
CommandBody PrepareDecrypt(const Invocation &inv);
CommandBody PrepareChangeMasters(const Invocation &inv);
CommandBody PrepareCheck(const Invocation &inv);
