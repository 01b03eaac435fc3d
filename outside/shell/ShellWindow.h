#pragma once
// The demo client shell: a small main window that lists the report module, opens it with a
// context through its controller, and logs every event the controller raises.

#include "module/DLLBaseCtrller.h"

#include <QMainWindow>
#include <memory>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace zrv {

class Library;

class ShellWindow : public QMainWindow {
public:
    explicit ShellWindow(QWidget* parent = nullptr);
    ~ShellWindow() override;

    // Loads the module library; false (and the log says why) when it cannot.
    bool LoadModule(const std::string& libraryPath);
    // Opens the module window with the context of the form fields and shows it.
    bool OpenModule();
    // The module's window, once open (nullptr otherwise).
    QWidget* ModuleWindow() const;
    void Log(const QString& line);

protected:
    // The module's window goes with the shell's.
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Library> library_;
    GetControllerFn getController_ = nullptr;
    std::unique_ptr<TDLLBaseController> controller_;
    Variant host_;
    QLineEdit* user_ = nullptr;
    QLineEdit* company_ = nullptr;
    QLineEdit* database_ = nullptr;
    QListWidget* modules_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
};

} // namespace zrv
