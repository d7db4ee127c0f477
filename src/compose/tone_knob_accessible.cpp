#include "tone_knob_accessible.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "compose/tone_knob.h"

namespace {

class ToneKnobAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ToneKnobAccessible(CToneKnob* knob) : QAccessibleWidget(knob, QAccessible::Slider) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return QString::number(Knob()->Offset());
    return QAccessibleWidget::text(t);
  }

  QVariant currentValue() const override { return Knob()->Offset(); }
  void setCurrentValue(const QVariant& value) override { Knob()->SlideTo(value.toInt()); }
  QVariant maximumValue() const override { return CToneKnob::kRange - 1; }
  QVariant minimumValue() const override { return -(CToneKnob::kRange - 1); }
  QVariant minimumStepSize() const override { return CToneKnob::kKeyStep; }

 private:
  CToneKnob* Knob() const { return static_cast<CToneKnob*>(widget()); }
};

QAccessibleInterface* ToneKnobFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("CToneKnob") && object && object->isWidgetType())
    return new ToneKnobAccessible(static_cast<CToneKnob*>(object));
  return nullptr;
}

}  // namespace

void InstallToneKnobAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(ToneKnobFactory);
    return true;
  }();
  (void)installed;
}
