#include "trains/gamma_generator.hpp"
