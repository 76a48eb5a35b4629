#pragma once

#include <gtest/gtest.h>

#include <string>

// Expects `statement` to throw `type` whose what() is exactly `message`.
#define EXPECT_THROW_MSG(statement, type, message) \
    MIRVOK_EXPECT_THROW_WHAT(statement, type, EXPECT_EQ(what_, std::string(message)))

// Expects `statement` to throw `type` whose what() starts with `prefix`.
#define EXPECT_THROW_MSG_STARTS(statement, type, prefix) \
    MIRVOK_EXPECT_THROW_WHAT(statement, type, EXPECT_EQ(what_.rfind(prefix, 0), 0U) << what_)

#define MIRVOK_EXPECT_THROW_WHAT(statement, type, check)             \
    do {                                                             \
        try {                                                        \
            statement;                                               \
            ADD_FAILURE() << "expected " #type " from: " #statement; \
        } catch (const type& thrown_) {                              \
            const std::string what_ = thrown_.what();                \
            check << " from: " #statement;                           \
        }                                                            \
    } while (false)
