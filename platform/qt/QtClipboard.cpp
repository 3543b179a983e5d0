#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/Clipboard.h"

void InstallQtClipboard() {
    ClipboardText = [] { return QGuiApplication::clipboard()->text().toStdString(); };
    SetClipboardText = [](const std::string& S) { QGuiApplication::clipboard()->setText(QString::fromStdString(S)); };
}
