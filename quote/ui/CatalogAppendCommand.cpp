#include "CatalogAppendCommand.h"

#include "CatalogAppend.h"
#include "RowCommands.h"
#include "OpenMainDb.h"
#include "frmAddw.h"
#include "mdM.h"
#include "ui/Dialogs.h"

bool runCatalogAppend(const quote::QuoteDocument& doc, const quote::RightsView& rights) {
    if (!quote::rowCommandsAllowed(doc))
        return false;
    quote::CatalogAppendResult result;
    try {
        result = quote::mAdd2W(openMainDbOrThrow(), doc, rights);
    } catch (const db::DbError& e) {
        ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Kavo III"));
        return false;
    }
    ui::Default<frmAddw>::get()->showResult(result.existing, result.added);
    if (!result.unshown.isEmpty())
        ui::msgBox(result.unshown.join(u'\n'), ui::Buttons::OK, ui::Icon::Exclamation,
                   QStringLiteral("Kavo III"));
    return true;
}
