#include "repaint/repaint_pearl_part.h"

// Arguments are ignored and nothing is printed; the exit code is 0 whatever
// became of the parts.
int main(int /*argumentCount*/, char* /*arguments*/[]) {
  RepaintPearlParts();
  return 0;
}
