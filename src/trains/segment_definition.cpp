#include "trains/segment_definition.hpp"
