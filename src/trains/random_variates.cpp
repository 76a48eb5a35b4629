#include "trains/random_variates.hpp"
