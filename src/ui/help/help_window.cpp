#include "ui/help/help_window.h"

#include "ui/help/help_views.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

// Resources of a static library must be registered by name, outside any namespace.
static void registerHelpResources() {
    Q_INIT_RESOURCE(ksv_help);
}

namespace ksv {
namespace {

// Shows the pages as a reader on this system sees them.
class HelpBrowser final : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override {
        QVariant data = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource)
            return data;
        const QString html = data.userType() == QMetaType::QByteArray
                                 ? QString::fromUtf8(data.toByteArray())
                                 : data.toString();
        return helpPageFor(html, currentHelpSystem());
    }
};

} // namespace

QUrl HelpWindow::contentsUrl(const QString& dir) {
    // Beside the program in the build tree; under share/ when installed, found
    // relative to the program so that a moved installation still finds it.
    for (const char* place : {"help/index.html", "../share/ksv717n/help/index.html"}) {
        const QFileInfo onDisk(QDir(dir).filePath(QString::fromLatin1(place)));
        if (onDisk.isFile())
            return QUrl::fromLocalFile(onDisk.absoluteFilePath());
    }
    registerHelpResources();
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

QUrl HelpWindow::contentsUrl() {
    return contentsUrl(QCoreApplication::applicationDirPath());
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new HelpBrowser(this)), back_(new QToolButton(this)),
      forward_(new QToolButton(this)) {
    setWindowTitle(QStringLiteral("Справка KSV717N"));
    // An open help window must not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* contents = new QToolButton(this);
    contents->setText(QStringLiteral("Содержание"));
    back_->setText(QStringLiteral("Назад"));
    forward_->setText(QStringLiteral("Вперёд"));
    for (QToolButton* b : {contents, back_, forward_})
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    browser_->document()->setDocumentMargin(12);
    browser_->setOpenExternalLinks(true);
    browser_->setOpenLinks(true);

    connect(contents, &QToolButton::clicked, browser_, &QTextBrowser::home);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    bar->addWidget(contents);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);

    resize(760, 600);
}

void HelpWindow::showContents() {
    // The page being read stays in the history, so "Назад" returns to it.
    const QUrl home = contentsUrl();
    if (browser_->source() != home)
        browser_->setSource(home);

    if (!placed_) {
        if (const QScreen* s = screen()) {
            const QRect area = s->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
        placed_ = true;
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void HelpWindow::closeHelp() {
    close();
}

void HelpWindow::updateTitle() {
    const QString page = browser_->documentTitle();
    setWindowTitle(page.isEmpty() ? QStringLiteral("Справка KSV717N")
                                  : page + QStringLiteral(" — справка KSV717N"));
}

} // namespace ksv
