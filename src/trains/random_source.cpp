#include "trains/random_source.hpp"
