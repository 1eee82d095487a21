#include "app/modellabel.h"

#include "auxiliary/userprompts.h"
#include "hardware/hardwareprofile.h"

QString ModelLabel(const HardwareProfile &profile)
{
    if (!profile.IsDefined()) {
        Prompts().ShowMessage({.Text = QStringLiteral("UNDEFINED VALUE"), .Caption = QStringLiteral("ERROR"),
                               .Icon = PromptIcon::Error});
        return {};
    }
    return profile.ModelLabel();
}
