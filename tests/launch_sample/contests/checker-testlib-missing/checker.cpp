// A checker written with testlib, whose header is not beside it.
#include "testlib.h"

int main(int argc, char* argv[]) {
  registerTestlibCmd(argc, argv);
  quitf(ouf.readInt() == ans.readInt() ? _ok : _wa, "one number");
}
