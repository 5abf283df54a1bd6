// Picture tests that show what they compared: on a failure the pictures are
// written as PNG files into the build folder (test-pictures/) and named in
// the failure's message.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <string>

namespace testsupport {

// Writes got as <name>-got.png and, when given, expected as
// <name>-expected.png with a picture of their difference, <name>-diff.png
// (changed pixels red over a pale copy of expected); gives the message
// naming the files written.
std::string keepPictures(const std::string& name, const QImage& got, const QImage* expected = nullptr);

// The running test's suite and name, for naming its pictures.
std::string testName();

// The two pictures have the same size and the same colours (0xRRGGBB) at every
// pixel; otherwise both and their difference are kept and named.
::testing::AssertionResult samePicture(const std::string& name, const QImage& got, const QImage& expected);

}  // namespace testsupport
