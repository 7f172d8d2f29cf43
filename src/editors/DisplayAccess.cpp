// What screen readers read of a display: its caption as the name, what it shows as its text.
#include "DisplayAccess.h"

#include <QAccessible>

#include <mutex>

namespace kurvo {
namespace {

constexpr QChar ZeroWidthSpace(0x200B);

QAccessibleInterface* displayLabelAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(TDisplayLabel::staticMetaObject.className()) || !object ||
        !object->isWidgetType())
        return nullptr;
    auto* label = static_cast<TDisplayLabel*>(object);
    return new TDisplayAccessible(label, [label] { return label->shownText(); });
}

/// The combo box: named by its accessible name, its text what it holds; its first action opens the list.
class TNamedComboAccessible : public TDisplayAccessible {
  public:
    explicit TNamedComboAccessible(QComboBox* box)
        : TDisplayAccessible(
              box, [box] { return box->currentText(); }, QAccessible::ComboBox) {}

    QAccessible::State state() const override {
        QAccessible::State s = TDisplayAccessible::state();
        s.expandable = true;
        s.editable = static_cast<QComboBox*>(widget())->isEditable();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList(showMenuAction()) + TDisplayAccessible::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == showMenuAction())
            static_cast<QComboBox*>(widget())->showPopup();
        else
            TDisplayAccessible::doAction(name);
    }
};

QAccessibleInterface* namedComboAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(TNamedComboBox::staticMetaObject.className()) || !object ||
        !object->isWidgetType())
        return nullptr;
    return new TNamedComboAccessible(static_cast<TNamedComboBox*>(object));
}

} // namespace

TDisplayAccessible::TDisplayAccessible(QWidget* widget, std::function<QString()> shown,
                                       QAccessible::Role role)
    : QAccessibleWidget(widget, role), shown_(std::move(shown)) {}

void* TDisplayAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TDisplayAccessible::text(QAccessible::Text t) const {
    // Readers that ask for a value rather than a text get the same shown text.
    if (t == QAccessible::Value) return shown_();
    return QAccessibleWidget::text(t);
}

QString TDisplayAccessible::text(int startOffset, int endOffset) const {
    const QString s = shown_();
    if (endOffset < 0 || endOffset > s.size()) endOffset = static_cast<int>(s.size());
    startOffset = std::clamp(startOffset, 0, endOffset);
    return s.mid(startOffset, endOffset - startOffset);
}

QString TDisplayAccessible::attributes(int offset, int* start, int* end) const {
    // One run without attributes over the whole text.
    *start = offset < 0 ? -1 : 0;
    *end = offset < 0 ? -1 : characterCount();
    return {};
}

void notifyShownTextChanged(QWidget* display, const QString& before, const QString& after) {
    if (before == after || !QAccessible::isActive()) return;
    QAccessibleTextUpdateEvent text(display, 0, before, after);
    QAccessible::updateAccessibility(&text);
    QAccessibleValueChangeEvent value(display, after);
    QAccessible::updateAccessibility(&value);
}

TDisplayLabel::TDisplayLabel(QWidget* parent) : TDisplayLabel(QString(), parent) {}

TDisplayLabel::TDisplayLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    static std::once_flag factoryInstalled;
    std::call_once(factoryInstalled, [] { QAccessible::installFactory(displayLabelAccessible); });
}

void TDisplayLabel::setText(const QString& text) {
    const QString before = shownText();
    QLabel::setText(text);
    notifyShownTextChanged(this, before, shownText());
}

TNamedComboBox::TNamedComboBox(QWidget* parent) : QComboBox(parent) {
    static std::once_flag factoryInstalled;
    std::call_once(factoryInstalled, [] { QAccessible::installFactory(namedComboAccessible); });
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        notifyShownTextChanged(this, told_, text);
        told_ = text;
    });
}

QString TDisplayLabel::shownText() const {
    return QLabel::text().remove(ZeroWidthSpace);
}

} // namespace kurvo
