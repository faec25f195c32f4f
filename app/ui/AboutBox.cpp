#include "AboutBox.h"

#include <infolio/CZqDialogAbout1.h>

#include "AboutBoxTexts.h"

int AboutBox::Run(QWidget* pParent, const std::filesystem::path& executable) {
  const AboutBoxTexts texts = AboutBoxTexts::ForExecutable(executable);
  CZqDialogAbout1 dialog(pParent);
  dialog.SetDialogParams(AboutBoxTexts::kLinkVariant, texts.strCaption, texts.strAppName,
                         texts.strVersion);
  return dialog.exec();
}
