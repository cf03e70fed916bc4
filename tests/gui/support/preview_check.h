// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

#include "app/ui/main_form.h"

// The screenshot preview of the real window, compared pixel by pixel with what it should show.

constexpr int kPreviewWidth = 257;
constexpr int kPreviewHeight = 217;

// What the preview control shows right now.
QImage Shown(kivo::app::TMainForm& form);
// The colour of the preview where nothing is painted: its parent's background.
QRgb Background(kivo::app::TMainForm& form);
// The preview as it should look with `picture` at natural size from its top-left corner, clipped to
// the control; pixels of alpha 0, and everything outside the picture, left unpainted.
QImage InPreview(const QImage& picture, QRgb background);
// Empty when the two agree; otherwise the size or the first pixel where they differ.
QString Mismatch(const QImage& shown, const QImage& expected);

#define QVERIFY_EMPTY(text)                           \
  do {                                                \
    QString message = (text);                         \
    QVERIFY2(message.isEmpty(), qPrintable(message)); \
  } while (false)

// The preview shows `picture` as InPreview describes it.
#define QVERIFY_PREVIEW(form, picture) QVERIFY_EMPTY(Mismatch(Shown(form), InPreview((picture), Background(form))))
