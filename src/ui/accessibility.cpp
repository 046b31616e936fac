#include "ui/accessibility.h"

#include "core/accessible_texts.h"

#include <QCoreApplication>
#include <QWidget>

namespace tessarion::ui {

namespace {

QString translated(const char* source)
{
    return source == nullptr ? QString() : QCoreApplication::translate("Accessibility", source);
}
} // namespace

AccessibleTexts accessibilityFor(std::string_view control)
{
    for (const core::AccessibleRow& row : core::accessibleRows)
        if (row.control == control)
            return {translated(row.name), translated(row.description),
                    row.toolTipNumber ? translated(row.toolTip).arg(*row.toolTipNumber)
                                      : translated(row.toolTip),
                    row.buddy};
    return {};
}

void applyAccessibility(QWidget& widget, std::string_view control)
{
    const AccessibleTexts texts = accessibilityFor(control);
    widget.setAccessibleName(texts.name);
    widget.setAccessibleDescription(texts.description);
    widget.setToolTip(texts.toolTip);
}

} // namespace tessarion::ui
