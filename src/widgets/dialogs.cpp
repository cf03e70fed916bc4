// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
#include "widgets/dialogs.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/desktop.h"

namespace kivo::widgets {

void DesktopDialogs::Message(QWidget* owner, const QString& text, const QString& caption, Icon icon) {
  QMessageBox box(icon == Icon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon, caption, text, QMessageBox::Ok,
                  owner);
  box.exec();
}

bool DesktopDialogs::Confirm(QWidget* owner, const QString& text, const QString& caption, Default defaultButton) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok | QMessageBox::Cancel, owner);
  box.setDefaultButton(defaultButton == Default::Cancel ? QMessageBox::Cancel : QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok;
}

std::optional<std::string> DesktopDialogs::BrowseForFolder(QWidget* owner, const QString& title) {
  QString folder = QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return std::nullopt;
  return ToBytes(folder);
}

bool DesktopDialogs::OpenDocument(const std::string& fileOrUrl) {
  // Without an opener the toolkit reports success on some systems and opens nothing.
  if (!platform::HasDocumentOpener()) return false;
  QUrl url(QString::fromUtf8(fileOrUrl));
  if (url.scheme().isEmpty() || !url.isValid()) url = QUrl::fromLocalFile(FromBytes(fileOrUrl));
  return QDesktopServices::openUrl(url);
}

QString FromBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToBytes(const QString& text) {
  QByteArray bytes = QFile::encodeName(text);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace kivo::widgets
