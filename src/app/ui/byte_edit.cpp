// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "app/ui/byte_edit.h"

#include <QLineEdit>
#include <QVariant>

#include "widgets/dialogs.h"

namespace kivo::app {

namespace {

constexpr const char* kBytesProperty = "kivoBytes";

}  // namespace

void SetEditBytes(QLineEdit* edit, const std::string& bytes) {
  edit->setProperty(kBytesProperty, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  edit->setText(widgets::FromBytes(bytes));
}

std::string EditBytes(const QLineEdit* edit) {
  QVariant stored = edit->property(kBytesProperty);
  if (stored.isValid()) {
    QByteArray bytes = stored.toByteArray();
    std::string kept(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (edit->text() == widgets::FromBytes(kept)) return kept;
  }
  return widgets::ToBytes(edit->text());
}

}  // namespace kivo::app
