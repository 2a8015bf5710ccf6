// Made once into the precompiled header that every compile of the corpus shares.
#include <bits/stdc++.h>
