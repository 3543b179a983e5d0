// The program's start-up on Qt, shared by the program and the tools that drive it
// (screenshot, GUI tests): the responder, the main form with FormCreate, every dialog
// in its creation order, the style from "Style", the main window shown.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/program/QtMainWindow.h"
#include "platform/qt/QtResponder.h"

class TMainForm;

class TQtProgram {
public:
    TQtProgram();
    ~TQtProgram();
    // Needs a QApplication. ProgramFile: the program's path (its folder is the program
    // folder); Args: the command-line arguments after the program name.
    void Start(const std::string& ProgramFile, const std::vector<std::string>& Args);

    TQtResponder Responder;
    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<TQtMainWindow> Window;
};
