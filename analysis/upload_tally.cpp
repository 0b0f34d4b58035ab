#include "upload_tally.h"

namespace varnoth {

void UploadTally::append(UploadTally &&later)
{
    tallies.append(std::move(later.tallies));
    activity.append(later.activity);
    uploads = checkedAdd(uploads, later.uploads);
}

} // namespace varnoth
