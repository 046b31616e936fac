// A Qt generic plugin that the Wayland test loads into the real program through
// QT_QPA_GENERIC_PLUGINS, so the product carries no test hook. Once the first top-level window
// has been exposed and painted it reports that on stdout and closes the window as a user
// would, so the program ends by its own way out.
#include <QEvent>
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QMetaObject>
#include <QPointer>
#include <QWindow>

#include <cstdio>

namespace {

class CloseOnExpose : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        if (closing_ || event->type() != QEvent::Expose || window == nullptr ||
            !window->isTopLevel() || !window->isExposed())
            return false;
        closing_ = true;
        // Queued, so it runs after the expose has been handled and the first frame handed
        // to the compositor.
        QMetaObject::invokeMethod(
            window,
            [window = QPointer<QWindow>(window)] {
                if (window.isNull())
                    return;
                std::printf("exposed %dx%d\n", window->width(), window->height());
                std::fflush(stdout);
                window->close();
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    bool closing_ = false;
};

} // namespace

class CloseOnExposePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "close_on_expose.json")

public:
    QObject* create(const QString& key, const QString& /*parameters*/) override
    {
        if (key.compare(QLatin1String("tessarion-close-on-expose"), Qt::CaseInsensitive) != 0)
            return nullptr;
        auto* closer = new CloseOnExpose;
        QCoreApplication::instance()->installEventFilter(closer);
        return closer;
    }
};

#include "close_on_expose.moc"
