// Resource ids of the native tests' own resources (NativeTestResources.rc).
#pragma once

// Shared by the resource script and the tests; plain macros because the
// resource compiler reads this file too.
#define kShortStringId 201
#define kLongStringId 202
#define kTextWithMarkId 301
#define kTextWithoutMarkId 302
#define kRawBytesId 303
#define kAlphaPictureId 304
#define kOpaquePictureId 305
#define kTestIconId 401
