// SPDX-FileCopyrightText: 2026 The KIVO developers
// SPDX-License-Identifier: MIT
// The demo's ZSNES.EXE: a window that says plainly it is not the emulator and shows what a real
// emulator would have been given — its program path, every argument, the folder it was started in,
// the ROM file the command line names and the ZSNES.CFG that KIVO brought in line before the start.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// The ROM argument: KIVO's command line is the program, the ROM path, then switches that each start
// with "-" (a switch value such as "-k 75" follows its switch). The first argument that is not a
// switch and names an existing file is taken.
QString RomArgument(const QStringList& arguments) {
  for (int i = 1; i < arguments.size(); ++i) {
    if (!arguments[i].startsWith('-') && QFileInfo(arguments[i]).isFile()) return arguments[i];
  }
  return {};
}

QString DescribeRom(const QString& path) {
  if (path.isEmpty()) return "No argument names an existing ROM file.";
  QFileInfo info(path);
  QString text = QString("%1\n%2 bytes").arg(QDir::toNativeSeparators(path)).arg(info.size());
  // KIVO hands paths with blanks or other awkward characters over as short aliases.
  if (info.isSymLink()) text += "\nan alias of " + QDir::toNativeSeparators(info.symLinkTarget());
  return text;
}

QString ConfigText() {
  QFile file("ZSNES.CFG");
  if (!file.open(QIODevice::ReadOnly)) return "(no ZSNES.CFG in the working folder)";
  return QString::fromLocal8Bit(file.readAll()).remove('\r');
}

QLabel* Heading(const QString& text) {
  auto* label = new QLabel(text);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

QLabel* Value(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setWordWrap(true);
  return label;
}

QPlainTextEdit* Listing(const QString& text, int lines) {
  auto* edit = new QPlainTextEdit(text);
  edit->setReadOnly(true);
  edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setMinimumHeight(edit->fontMetrics().lineSpacing() * lines + 12);
  return edit;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();

  QWidget window;
  const QString title = QString::fromUtf8("ZSNES stand-in \u2014 KIVO demo");
  window.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&window);

  // The title again inside the window, for desktops that draw no title bars.
  auto* banner = new QLabel("<b>" + title.toHtmlEscaped() +
                            "</b><br>This window stands in for the ZSNES emulator. A real emulator would now be "
                            "running the game below.");
  banner->setWordWrap(true);
  banner->setStyleSheet("QLabel { background: #203060; color: white; padding: 8px; }");
  layout->addWidget(banner);

  layout->addWidget(Heading("Program"));
  layout->addWidget(Value(QDir::toNativeSeparators(arguments.value(0))));
  layout->addWidget(Heading("Working folder"));
  layout->addWidget(Value(QDir::toNativeSeparators(QDir::currentPath())));

  // The arguments as one line, then each in brackets on its own, so a blank inside one shows.
  layout->addWidget(Heading("Command line"));
  layout->addWidget(Value(arguments.mid(1).join(' ')));
  QStringList numbered;
  for (int i = 1; i < arguments.size(); ++i) numbered << QString("%1: [%2]").arg(i, 2).arg(arguments[i]);
  layout->addWidget(Heading(QString("Arguments (%1)").arg(arguments.size() - 1)));
  layout->addWidget(Listing(numbered.isEmpty() ? "(none)" : numbered.join('\n'), 8));

  layout->addWidget(Heading("ROM file"));
  layout->addWidget(Value(DescribeRom(RomArgument(arguments))));
  layout->addWidget(Heading("ZSNES.CFG in the working folder"));
  layout->addWidget(Listing(ConfigText(), 10));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QWidget::close);
  layout->addWidget(buttons);

  window.resize(600, 780);
  window.show();
  return QApplication::exec();
}
