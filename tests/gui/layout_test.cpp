// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The window lays itself out: made larger, the list and the preview grow while the option tabs keep
// their size; with a larger font every caption still fits, on every tab.
#include <QTest>

#include "gui/support/form_fixture.h"

using namespace kivo::app;

namespace {

// The captions shown on the tab in front (and around it) that have less room than they need, or
// that reach beyond the widget holding them.
QStringList Clipped(QWidget& window) {
  QStringList clipped;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    const bool caption = (button && !button->text().isEmpty()) || qobject_cast<QLabel*>(widget) ||
                         qobject_cast<QLineEdit*>(widget) || qobject_cast<QGroupBox*>(widget);
    if (!caption || !widget->isVisible() || widget->objectName().isEmpty()) continue;
    const QSize need = widget->minimumSizeHint();
    const QRect inParent = widget->parentWidget()->rect();
    // The status bar's panels show data (a folder's path may be longer than any window): only their
    // height must fit.
    const bool data = qobject_cast<QStatusBar*>(widget->parentWidget()) != nullptr;
    if ((!data && widget->width() < need.width()) || widget->height() < need.height() ||
        !inParent.contains(widget->geometry()))
      clipped << widget->objectName();
  }
  return clipped;
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void aLargerWindowGrowsTheListAndThePreviewOnly() {
    FormFixture f;
    TMainForm& form = f.Start();
    auto* preview = Child<QWidget>(form, "imgPreview0");
    auto* tabs = Child<QWidget>(form, "PageControl1");
    auto* list = Child<QWidget>(form, "ListView");
    // The designed size: the preview holds a whole screenshot's width, the list takes the rest.
    QCOMPARE(form.size(), QSize(685, 568));
    // Shown, the window is held to what its controls need (here less than the design's smallest).
    QCOMPARE(form.minimumSize(), form.minimumSizeHint().expandedTo(QSize(450, 550)));
    QVERIFY(preview->width() >= 256 && preview->height() >= 217);
    const QSize tabsBefore = tabs->size(), previewBefore = preview->size(), listBefore = list->size();

    form.resize(1600, 1000);
    QTRY_COMPARE(form.size(), QSize(1600, 1000));
    QCOMPARE(tabs->size(), tabsBefore);
    QVERIFY(preview->width() > 2 * previewBefore.width() && preview->height() > 2 * previewBefore.height());
    QVERIFY(list->width() > 2 * listBefore.width() && list->height() > listBefore.height());
    // The tabs stay below the preview, the list beside both.
    QVERIFY(tabs->geometry().top() >= preview->geometry().bottom());
    QVERIFY(list->mapTo(&form, QPoint()).x() >= preview->mapTo(&form, QPoint(preview->width(), 0)).x());
  }

  void nothingClipsWithAFourteenPointFont() {
    FormFixture f;
    TMainForm& form = f.Start();
    QFont font = form.font();
    font.setPointSize(14);
    form.setFont(font);
    // The window grows to what its contents need, also from the design's size (the checks wait for
    // the layout to be worked out anew).
    auto* tabs = Child<QTabWidget>(form, "PageControl1");
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      QTRY_VERIFY2(Clipped(form).isEmpty(), qPrintable(Clipped(form).join(", ")));
    }
    QVERIFY(Child<QCheckBox>(form, "chkDisableSPCHack")->width() >
            QFontMetrics(font).horizontalAdvance("Disable SPC hack"));
  }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
