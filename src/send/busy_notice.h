#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class CNoticeDlg;

// Shows the progress notice while the program waits for something, as the one window that
// takes input: the other windows keep painting but ignore the user until it is hidden again.
// It stands above the window that was active (its transient parent), with or without a window
// manager. Keys and close requests do not hide it. Hidden again, and made modeless as before,
// when the object goes.
class BusyNotice : public QObject {
 public:
  // A null notice shows nothing. `opener` is the window it reports on (by default the active
  // one).
  BusyNotice(CNoticeDlg* notice, const QString& text, QWidget* opener = nullptr);
  ~BusyNotice() override;
  BusyNotice(const BusyNotice&) = delete;
  BusyNotice& operator=(const BusyNotice&) = delete;

  // Shows `text` (without the OK button) and brings it to the screen at once.
  void Show(const QString& text);
  void Hide();
  // Shows the notice's stop button; a click on it runs `onStop`.
  void OfferStop(std::function<void()> onStop);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<CNoticeDlg> notice_;
  QPointer<QWidget> opener_;
  Qt::WindowModality modality_ = Qt::NonModal;
};
