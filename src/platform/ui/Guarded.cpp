#include "platform/ui/Guarded.h"

#include "platform/db/Database.h"
#include "platform/ui/Messages.h"

void Guard::show(const std::exception_ptr& e) noexcept
{
    try {
        try {
            std::rethrow_exception(e);
        } catch (const DbError& error) {
            Messages::error(error.message());
        } catch (const std::exception& error) {
            Messages::error(QString::fromUtf8(error.what()));
        } catch (...) {
            Messages::error(QStringLiteral("Beklenmeyen bir hata oluştu; işlem yarıda kaldı ...!"));
        }
    } catch (...) {
        // The message box itself failed: nothing more can be shown.
    }
}
