// demo_page RUN_DIRECTORY OUTPUT_DIRECTORY: writes OUTPUT_DIRECTORY/index.html showing
// each part's bitmap before and after a run, then prints its path and one line per part.
// Exits 1 when the page cannot be written or when a part shows the program at fault.
#include <iostream>

#include "demo/demo_page.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: demo_page RUN_DIRECTORY OUTPUT_DIRECTORY\n";
    return 2;
  }
  const DemoPageResult result = WriteDemoPage(argv[1], argv[2]);
  if (!result.problem.empty()) {
    std::cerr << "demo_page: " << result.problem << "\n";
    return 1;
  }
  std::cout << result.page.string() << "\n";
  for (const std::string& line : result.partLines) {
    std::cout << line << "\n";
  }
  return result.anyFault ? 1 : 0;
}
