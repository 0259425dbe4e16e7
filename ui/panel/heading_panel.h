#pragma once
#include <QFrame>

class QLabel;

namespace panel {

// A box heading. Its caption is set by the window's own code (the translating client does
// not touch this class), so the text lives in an unnamed child label.
class HeadingPanel : public QFrame {
    Q_OBJECT
public:
    explicit HeadingPanel(QWidget* parent = nullptr);
    void setCaption(const QString& caption);
    QString caption() const;

private:
    QLabel* m_label;
};

} // namespace panel
