#pragma once

#include "filevault/DropFiles.h"
#include "filevault/VaultRun.h"
#include "transfer/TextExport.h"

#include <QStringList>
#include <functional>

// Records what a vault run, a drop or a text export shows.
struct RecordingView : VaultView, DropView, TextExportView
{
    QStringList statuses;
    QList<int> progress;
    QList<bool> buttons;
    int opened = 0;
    int closed = 0;
    bool progressVisible = false;
    bool finishedVisible = false;
    std::function<void(const QString &)> onStatus;

    void setStatus(const QString &text) override
    {
        statuses << text;
        if (onStatus)
            onStatus(text);
    }
    void setProgress(int value) override { progress << value; }
    void setButtonsEnabled(bool enabled) override { buttons << enabled; }
    void open() override { ++opened; }
    void close() override { ++closed; }
    void showProgress(bool visible) override { progressVisible = visible; }
    void showFinished(bool visible) override { finishedVisible = visible; }
};
