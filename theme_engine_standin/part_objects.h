#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "testing/part_dump.h"
#include "theme_engine_standin/theme_table.h"

/// Makes the GDI object (or the dead or made-up handle) that a part's recipe
/// calls for. `previous` is the handle given to the part before, for
/// kSameAsPreviousPart. NULL for kMissing or when GDI refuses.
HGDIOBJ CreatePartObject(const PartRecipe& recipe, HGDIOBJ previous);

/// A bitmap rebuilt from a dump: same size, format and bits. NULL when GDI
/// refuses the format or the bits do not all go in.
HBITMAP CreateBitmapFromDump(const PartDump& dump);

/// The bitmap's description and its bits as GetBitmapBits gives them; nothing
/// when `object` is not a live bitmap.
std::optional<PartDump> ReadBitmapDump(HGDIOBJ object);

/// One line saying what `object` is and how it reads through GetObjectW into a
/// BITMAP, for the log.
std::string DescribeObject(HGDIOBJ object);
