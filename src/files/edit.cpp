#include "files/edit.h"

// The menu arrives with the edit work.
void Edit() {}
