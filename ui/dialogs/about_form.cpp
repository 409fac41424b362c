// The About box.
#include "ui/dialogs/about_form.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/document/product.h"

// The resources live in a static library: register them before first use.
static void InitDialogPictures() {
  Q_INIT_RESOURCE(dialogs);
}

namespace tarnvelock {

namespace {

constexpr int kPictureSide = 153;

// The README that came with the program: beside it in a build tree, in the
// documentation folder of an installation.
QString ReadmePath() {
  const QDir program(QCoreApplication::applicationDirPath());
  for (const QString& candidate :
       {QStringLiteral("README.md"), QStringLiteral("../share/doc/tarnvelock/README.md")}) {
    if (QFileInfo::exists(program.filePath(candidate))) {
      return QDir::cleanPath(program.filePath(candidate));
    }
  }
  return {};
}

}  // namespace

TFormAbout::TFormAbout(QWidget* main_window)
    : QDialog(main_window),
      picture_(new QLabel(this)),
      product_(new QLabel(this)),
      contact_(new QLabel(this)) {
  setObjectName(QStringLiteral("FormAbout"));
  setWindowTitle(QStringLiteral("Info"));
  setModal(true);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setBackgroundRole(QPalette::Base);
  panel->setAutoFillBackground(true);

  static const bool initialised = (InitDialogPictures(), true);
  (void)initialised;
  picture_->setObjectName(QStringLiteral("ImagePicture"));
  picture_->setFixedSize(kPictureSide, kPictureSide);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setPixmap(QIcon(QStringLiteral(":/dialogs/logo.svg"))
                          .pixmap(QSize(kPictureSide, kPictureSide), devicePixelRatioF()));

  QFont large(font());
  large.setPointSize(16);
  for (QLabel* line : {product_, contact_}) line->setFont(large);
  product_->setObjectName(QStringLiteral("LabelProduct"));
  contact_->setObjectName(QStringLiteral("LabelContact"));
  contact_->setOpenExternalLinks(true);
  contact_->setTextInteractionFlags(Qt::TextBrowserInteraction);

  auto* texts = new QVBoxLayout;
  texts->addStretch(1);
  texts->addWidget(product_);
  texts->addSpacing(12);
  texts->addWidget(contact_);
  texts->addStretch(1);
  auto* inside = new QHBoxLayout(panel);
  inside->setContentsMargins(12, 12, 12, 12);
  inside->setSpacing(20);
  inside->addWidget(picture_);
  inside->addLayout(texts, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setCenterButtons(true);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(panel, 1);
  layout->addWidget(buttons);

  FormCreate();
  setFixedSize(457, 237);
}

void TFormAbout::FormCreate() {
  product_->setText(QString::fromWCharArray(kProductName) + QLatin1Char(' ') +
                    QString::fromWCharArray(kProductVersion));
  const QString readme = ReadmePath();
  if (readme.isEmpty()) {
    contact_->setText(QStringLiteral("See README.md"));
    return;
  }
  contact_->setToolTip(readme);
  contact_->setText(QStringLiteral("<a href=\"%1\">Tarnvelock README</a>")
                        .arg(QUrl::fromLocalFile(readme).toString().toHtmlEscaped()));
}

}  // namespace tarnvelock
