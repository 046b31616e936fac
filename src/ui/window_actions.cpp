#include "ui/window_actions.h"

#include "ui/main_window.h"
#include "ui/panel_widget.h"
#include "ui/picture_export.h"
#include "ui/window_zoom.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>

namespace tessarion::ui {

namespace {
QList<QKeySequence> withKey(QList<QKeySequence> keys, const QKeySequence& extra)
{
    if (!keys.contains(extra))
        keys.append(extra);
    return keys;
}

// The panel under a point of the window, or the one it lies on.
PanelWidget* panelAt(QWidget& window, QPoint pos)
{
    for (QWidget* widget = window.childAt(pos); widget != nullptr && widget != &window;
         widget = widget->parentWidget())
        if (auto* panel = qobject_cast<PanelWidget*>(widget))
            return panel;
    return nullptr;
}
} // namespace

WindowActions::WindowActions(MainWindow& window, WindowZoom& zoom)
    : QObject(&window)
    , window_(window)
{
    copyPicture_ =
        add("copyPicture", tr("&Copy picture"), QKeySequence::keyBindings(QKeySequence::Copy), this,
            &WindowActions::copyWindow);
    savePicture_ =
        add("savePicture", tr("&Save picture as…"), QKeySequence::keyBindings(QKeySequence::Save),
            this, &WindowActions::saveWindow);
    copyPanel_ =
        add("copyPanelPicture", tr("Copy &this picture"), {}, this, &WindowActions::copyPanel);
    savePanel_ =
        add("savePanelPicture", tr("Save t&his picture as…"), {}, this, &WindowActions::savePanel);
    fullScreen_ =
        add("fullScreen", tr("&Full screen"),
            withKey(QKeySequence::keyBindings(QKeySequence::FullScreen), QKeySequence(Qt::Key_F11)),
            &zoom, &WindowZoom::toggleFullScreen);
    fullScreen_->setCheckable(true);
    // Ctrl+= is Ctrl+Plus without Shift on most keyboards.
    zoomIn_ = add("zoomIn", tr("Zoom &in"),
                  withKey(QKeySequence::keyBindings(QKeySequence::ZoomIn),
                          QKeySequence(Qt::CTRL | Qt::Key_Equal)),
                  &zoom, &WindowZoom::zoomIn);
    zoomOut_ = add("zoomOut", tr("Zoom &out"), QKeySequence::keyBindings(QKeySequence::ZoomOut),
                   &zoom, &WindowZoom::zoomOut);
    actualSize_ = add("actualSize", tr("&Actual size"), {QKeySequence(Qt::CTRL | Qt::Key_0)}, &zoom,
                      &WindowZoom::actualSize);
    // Escape reaches the controls except in full screen, where it leaves it.
    leaveFullScreen_ = add("leaveFullScreen", tr("Leave full screen"),
                           {QKeySequence(Qt::Key_Escape)}, &zoom, &WindowZoom::leaveFullScreen);
    leaveFullScreen_->setEnabled(false);

    copyPanel_->setVisible(false);
    savePanel_->setVisible(false);

    menu_ = new QMenu(&window_);
    menu_->setObjectName(QStringLiteral("contextMenu"));
    menu_->addActions({copyPicture_, savePicture_, copyPanel_, savePanel_});
    menu_->addSeparator();
    menu_->addAction(fullScreen_);
    menu_->addSeparator();
    menu_->addActions({zoomIn_, zoomOut_, actualSize_});
    window_.installEventFilter(this);
}

WindowActions::~WindowActions() = default;

template <typename Receiver>
QAction* WindowActions::add(const char* name, const QString& text, const QList<QKeySequence>& keys,
                            Receiver* receiver, void (Receiver::*slot)())
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    connect(action, &QAction::triggered, receiver, slot);
    window_.addAction(action);
    return action;
}

void WindowActions::popupMenu(QPoint globalPos, PanelWidget* panel)
{
    menuPanel_ = panel;
    copyPanel_->setVisible(panel != nullptr);
    savePanel_->setVisible(panel != nullptr);
    menu_->popup(globalPos);
}

// A picture is drawn at once, so that a running animation cannot move between its panels.
void WindowActions::copyWindow() { Picture(window_).copy(); }

void WindowActions::saveWindow() { save(nullptr); }

void WindowActions::copyPanel()
{
    if (menuPanel_ != nullptr)
        Picture(window_, *menuPanel_).copy();
}

void WindowActions::savePanel()
{
    if (menuPanel_ != nullptr)
        save(menuPanel_);
}

void WindowActions::save(PanelWidget* panel)
{
    // The state of the moment of the action, not of the moment the dialog closes.
    const Picture picture = panel != nullptr ? Picture(window_, *panel) : Picture(window_);
    const QString name = picture.suggestedName(QStringLiteral("png"));
    const QByteArray png = picture.png();
    const QByteArray svg = picture.svg();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    QFileDialog dialog(&window_, tr("Save picture"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QString svgFilter = tr("SVG drawing (*.svg)");
    dialog.setNameFilters({tr("PNG image (*.png)"), svgFilter});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(name);
    // The name's extension follows the type chosen, as the file will.
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, &svgFilter](const QString& type) {
                const QString suffix =
                    type == svgFilter ? QStringLiteral("svg") : QStringLiteral("png");
                dialog.setDefaultSuffix(suffix);
                if (const QStringList chosen = dialog.selectedFiles(); !chosen.isEmpty())
                    dialog.selectFile(QFileInfo(chosen.front()).completeBaseName() +
                                      QLatin1Char('.') + suffix);
            });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().front();
    if (const std::optional<QString> failure = Picture::save(path, png, svg))
        QMessageBox::warning(&window_, tr("Picture not saved"), *failure);
}

void WindowActions::followWindowState()
{
    const bool fullScreen = isFullScreen(window_);
    fullScreen_->setChecked(fullScreen);
    leaveFullScreen_->setEnabled(fullScreen);
}

// Context menus that the controls leave reach the window here.
bool WindowActions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_)
        return false;
    // The window manager may change full screen without Qt hearing of it; the window's place
    // tells.
    if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize ||
        event->type() == QEvent::Move)
        followWindowState();
    if (event->type() == QEvent::ContextMenu) {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        popupMenu(menuEvent->globalPos(), panelAt(window_, menuEvent->pos()));
        event->accept();
        return true;
    }
    return false;
}

} // namespace tessarion::ui
