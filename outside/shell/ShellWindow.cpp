#include "ShellWindow.h"

#include "platform/Automation.h"
#include "platform/Library.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zrv {

namespace {

    QString EventName(int32_t code)
    {
        switch (code) {
        case ceCreated:
            return "created";
        case ceShown:
            return "shown";
        case ceHidden:
            return "hidden";
        case ceDestroyed:
            return "destroyed";
        default:
            return "event";
        }
    }

} // namespace

ShellWindow::ShellWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("ERP 客户端 - 演示外壳"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* form = new QFormLayout;
    user_ = new QLineEdit(QStringLiteral("DS"), central);
    company_ = new QLineEdit(QStringLiteral("DEMO"), central);
    database_ = new QLineEdit(QStringLiteral("DEMO"), central);
    form->addRow(QStringLiteral("用户"), user_);
    form->addRow(QStringLiteral("公司"), company_);
    form->addRow(QStringLiteral("数据库"), database_);
    layout->addLayout(form);

    modules_ = new QListWidget(central);
    modules_->addItem(QStringLiteral("KVSR58 采购进退货明细表"));
    modules_->setCurrentRow(0);
    layout->addWidget(new QLabel(QStringLiteral("报表模块"), central));
    layout->addWidget(modules_);

    auto* open = new QPushButton(QStringLiteral("打开(&O)"), central);
    layout->addWidget(open);
    connect(open, &QPushButton::clicked, this, [this] { OpenModule(); });
    connect(modules_, &QListWidget::itemActivated, this, [this] { OpenModule(); });

    log_ = new QPlainTextEdit(central);
    log_->setReadOnly(true);
    layout->addWidget(new QLabel(QStringLiteral("控制器事件"), central));
    layout->addWidget(log_);
    setCentralWidget(central);
    resize(420, 460);

    try {
        host_ = Variant(CreateObject("HalvorWorkCenter.Manager"));
        Log("host object ready");
    } catch (const std::exception& e) {
        Log(QStringLiteral("host object unavailable: %1").arg(e.what()));
    }
}

ShellWindow::~ShellWindow()
{
    // The controller closes its window first, while the library is still loaded. The library
    // itself stays loaded until the process ends: its windowing layer is hooked into this
    // application (event routing, form resources) for as long as the application runs.
    controller_.reset();
    static_cast<void>(library_.release());
}

void ShellWindow::closeEvent(QCloseEvent* event)
{
    controller_.reset();
    QMainWindow::closeEvent(event);
}

void ShellWindow::Log(const QString& line)
{
    const QString stamped = QDateTime::currentDateTime().toString("hh:mm:ss.zzz ") + line;
    log_->appendPlainText(stamped);
    fprintf(stderr, "shell: %s\n", stamped.toUtf8().constData());
}

bool ShellWindow::LoadModule(const std::string& libraryPath)
{
    std::string error;
    library_ = Library::Load(libraryPath, &error);
    if (!library_) {
        Log(QStringLiteral("cannot load %1: %2").arg(libraryPath.c_str(), error.c_str()));
        return false;
    }
    getController_ = library_->Function<GetControllerFn>("GetController");
    if (!getController_) {
        Log(QStringLiteral("%1 exports no GetController").arg(libraryPath.c_str()));
        library_.reset();
        return false;
    }
    Log(QStringLiteral("loaded %1").arg(library_->Path().c_str()));
    return true;
}

bool ShellWindow::OpenModule()
{
    if (!getController_)
        return false;
    if (controller_ && !controller_->IsClosed()) {
        controller_->SetVisible(true);
        return true;
    }
    try {
        controller_.reset(getController_());
    } catch (const std::exception& e) {
        Log(QStringLiteral("GetController failed: %1").arg(e.what()));
        return false;
    }
    controller_->HostObject = host_;
    controller_->OnEvent = [this](int32_t code, TDLLBaseController* sender) {
        QString line = QStringLiteral("event %1 (%2)").arg(code).arg(EventName(code));
        if (code == ceDestroyed)
            line += QStringLiteral(": result %1 %2")
                        .arg(sender->ResultCode)
                        .arg(QString::fromStdString(sender->ResultValue.Debug()));
        Log(line);
    };
    Variant context = Variant::ArrayOf({ Variant(user_->text().toStdString()),
        Variant(company_->text().toStdString()), Variant(database_->text().toStdString()),
        Variant(static_cast<int64_t>(winId())), Variant() });
    int32_t result = -1;
    try {
        result = controller_->Open(context);
    } catch (const std::exception& e) {
        Log(QStringLiteral("Open failed: %1").arg(e.what()));
        return false;
    }
    Log(QStringLiteral("Open returned %1").arg(result));
    if (result != 0)
        return false;
    Variant info;
    if (controller_->GetInfo(info) == 0)
        Log(QStringLiteral("window: %1").arg(QString::fromStdString(info.Debug())));
    controller_->SetVisible(true);
    return true;
}

QWidget* ShellWindow::ModuleWindow() const
{
    if (!controller_ || controller_->IsClosed())
        return nullptr;
    return QWidget::find(static_cast<WId>(controller_->GetHandle()));
}

} // namespace zrv
