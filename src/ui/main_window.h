#pragma once

#include "core/form.h"
#include "render/form_assembly.h"
#include "ui/panel_widget.h"

#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessarion::core {
struct ControlSpec;
}

namespace tessarion::ui {

class PreciseTimer;
class ReadoutField;
class WindowZoom;

/// The decimal separator of the user's regional settings.
std::string systemDecimalSeparator();

/// The program's one window, built from the layout table; then the start-up handler runs.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    /// Builds every control, binds the handlers and runs load().
    explicit MainWindow(std::string decimalSeparator = systemDecimalSeparator());
    ~MainWindow() override;

    /// The state and handlers behind the window.
    core::Form& form() { return assembly_->form(); }
    /// A panel by its layout name, or nullptr.
    PanelWidget* panel(std::string_view name) const;
    /// The zoom of the whole window.
    WindowZoom& zoom() const { return *zoom_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    void addPanel(const core::ControlSpec& spec);
    void addTextField(const core::ControlSpec& spec);
    void addLabel(const core::ControlSpec& spec);
    void addButton(const core::ControlSpec& spec);
    QWidget* containerOf(const core::ControlSpec& spec);
    void stackPanelsInTickOrder();
    void setTabOrder();
    void assemble(std::string decimalSeparator);
    void drawFrames(QPainter& painter);

    /// The drawing panels by layout name.
    std::map<std::string, PanelWidget*, std::less<>> panels_;
    std::map<std::string, ReadoutField*, std::less<>> fields_; ///< The read-outs by layout name.
    /// Controls and their places in the tab order.
    std::vector<std::pair<int, QWidget*>> tabStops_;
    std::vector<const core::ControlSpec*> frames_;   ///< The frames drawn on the window itself.
    PreciseTimer* timer_ = nullptr;                  ///< The animation tick.
    WindowZoom* zoom_ = nullptr;                     ///< The zoom of the whole window.
    std::unique_ptr<render::FormAssembly> assembly_; ///< The form and its drawing side.
};

} // namespace tessarion::ui
