#pragma once

#include <QTabBar>

#include <functional>

// A tab strip drawn by the panel: every tab has a colour of its own; the
// selected tab is filled with it and carries white text, the others show
// their text in that colour on the panel's pale background.
class OwnerDrawnTabBar : public QTabBar
{
    Q_OBJECT

public:
    static const QColor Background;

    explicit OwnerDrawnTabBar(QWidget *parent = nullptr);

    // The colour of tab index; asked at every paint, so it may follow state.
    void setTabColour(std::function<QColor(int index)> colour);
    // Fixed-width tabs sharing the strip's width: (width - 5) / count each.
    void setMinimumTabWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;
    QSize tabSizeHint(int index) const override;

private:
    std::function<QColor(int)> m_colour;
    int m_minimumTabWidth = 0;
};
