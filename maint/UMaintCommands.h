// The maintenance commands of the command-line companion: pricing the card base from a
// price-list file or a download, and checking and taking over a changes-only rulings
// summary.
#pragma once

#include "core/UCardDatabase.h"

#include <ostream>
#include <string>
#include <vector>

namespace zandor {

// "prices update FILE" and "prices download [--url URL]": prints the updated count, the
// not-found count and the names not found; errors go to err with exit code 1.
int RunPricesUpdateCommand(TCardDatabase& db, const std::string& file, std::ostream& out,
                           std::ostream& err);
int RunPricesDownloadCommand(TCardDatabase& db, const std::string& url, std::ostream& out,
                             std::ostream& err);
// "rulings check FILE" prints the two dates and the indicator; "rulings update FILE"
// updates silently, or exits 1 with a message when the update does nothing.
int RunRulingsCheckCommand(TCardDatabase& db, const std::string& file, std::ostream& out,
                           std::ostream& err);
int RunRulingsUpdateCommand(TCardDatabase& db, const std::string& file, std::ostream& out,
                            std::ostream& err);

} // namespace zandor
