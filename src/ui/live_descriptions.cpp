#include "ui/live_descriptions.h"

#include "core/layout.h"
#include "ui/accessibility.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTimer>

namespace tessarion::ui {

LiveDescriptions::LiveDescriptions(MainWindow& window, const QTimer& timer)
    : QObject(&window)
    , window_(window)
    , timer_(timer)
{
    clock_.start();
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const auto panel = static_cast<core::PanelId>(i);
        PanelWidget* widget = window.panel(core::panelSpec(panel).name);
        panels_[i] = {panel, widget};
        widget->installEventFilter(this);
        describe(panel, *widget);
    }
    // Connected after the handlers, so that the state has changed when these run.
    for (const core::ControlSpec& spec : core::windowLayout())
        if (spec.kind == core::ControlKind::Button)
            connect(window.findChild<QPushButton*>(toQString(spec.name)), &QPushButton::clicked,
                    this, &LiveDescriptions::stateChanged);
    connect(&timer, &QTimer::timeout, this, &LiveDescriptions::stateChanged);
}

bool LiveDescriptions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        for (const auto& [panel, widget] : panels_)
            if (widget == watched)
                describe(panel, *widget);
    return false;
}

void LiveDescriptions::stateChanged()
{
    if (!pace_.due(static_cast<double>(clock_.elapsed()), timer_.isActive()))
        return;
    for (const auto& [panel, widget] : panels_)
        describe(panel, *widget);
}

void LiveDescriptions::describe(core::PanelId panel, PanelWidget& widget)
{
    core::Form& form = window_.form();
    const core::PanelStatement statement =
        core::statementOf(panel, form.shownBy(panel), form.decimalSeparator());
    QString sentence = QCoreApplication::translate("Accessibility", statement.wording);
    for (const std::string& number : statement.numbers)
        sentence = sentence.arg(toQString(number));
    const QString description =
        accessibilityFor(core::panelSpec(panel).name).description +
        QStringLiteral(". ") + sentence;
    // Assistive technology hears of every setting, the same text again too.
    if (description != widget.accessibleDescription())
        widget.setAccessibleDescription(description);
}

} // namespace tessarion::ui
