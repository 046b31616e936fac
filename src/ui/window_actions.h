#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

class QAction;
class QKeySequence;
class QMenu;
class QString;

namespace tessarion::ui {

class MainWindow;
class PanelWidget;
class WindowZoom;

/// The window's actions in one place: their texts, keys and entries in the context menu,
/// which opens wherever the controls leave a right click or the Menu key to the window. The
/// actions and the menu ("contextMenu") carry object names.
class WindowActions : public QObject {
    Q_OBJECT
public:
    /// Adds the actions to `window`; the zoom entries drive `zoom`.
    WindowActions(MainWindow& window, WindowZoom& zoom);
    ~WindowActions() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Shows the context menu at `globalPos`, with the entries for `panel` if there is one.
    void popupMenu(QPoint globalPos, PanelWidget* panel);
    template <typename Receiver>
    QAction* add(const char* name, const QString& text, const QList<QKeySequence>& keys,
                 Receiver* receiver, void (Receiver::*slot)());
    void copyWindow();
    void saveWindow();
    void copyPanel();
    void savePanel();
    void save(PanelWidget* panel);
    void followWindowState();

    MainWindow& window_;
    QMenu* menu_ = nullptr;
    QAction* copyPicture_ = nullptr;
    QAction* savePicture_ = nullptr;
    QAction* copyPanel_ = nullptr;
    QAction* savePanel_ = nullptr;
    QAction* fullScreen_ = nullptr;
    QAction* leaveFullScreen_ = nullptr;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* actualSize_ = nullptr;
    QPointer<PanelWidget> menuPanel_; ///< The panel the menu opened over.
};

} // namespace tessarion::ui
