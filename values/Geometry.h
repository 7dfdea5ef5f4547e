// Position and size values of the base class library: rg_WeiZhiLei and rg_CheCunLei.
#pragma once

#include <cstdint>

#include "runtime/ExtendedObject.h"

namespace rg_tarn_base {

// A position: a horizontal and a vertical coordinate, both signed 32-bit and
// 0 in a new object; any value is kept as given. Copies take flags, extra and
// both coordinates. The stream form is the two coordinates as little-endian
// 32-bit values, horizontal first (8 bytes). One thread at a time.
class rg_WeiZhiLei : public rg_KuoZhanDuiXiangLei {
public:
    rg_WeiZhiLei() = default;
    rg_WeiZhiLei(int32_t x, int32_t y) : horizontal(x), vertical(y) {}
    rg_WeiZhiLei(const rg_WeiZhiLei& other) = default;
    rg_WeiZhiLei& operator=(const rg_WeiZhiLei& other) = default;
    ~rg_WeiZhiLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then both coordinates.
    bool IsEqual(const CTarnObject& other) const override;
    rg_WeiZhiLei* CreateNew() const override;
    rg_WeiZhiLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Coordinates, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by "{ 横向位置: x; 纵向位置: y }".
    void DumpText(CWString& out, int32_t limit) const override;
    // Reads the horizontal, then the vertical coordinate; a short read sets
    // the read error and leaves that coordinate and the next unchanged.
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;

    int32_t horizontal = 0;
    int32_t vertical = 0;
};

// A size: a width and a height, both signed 32-bit and 0 in a new object;
// negative values are kept as given. A size is not a position: the two
// classes never compare equal or copy into each other. Copies take flags,
// extra, width and height. The stream form is width then height as
// little-endian 32-bit values (8 bytes). One thread at a time.
class rg_CheCunLei : public rg_KuoZhanDuiXiangLei {
public:
    rg_CheCunLei() = default;
    rg_CheCunLei(int32_t w, int32_t h) : width(w), height(h) {}
    rg_CheCunLei(const rg_CheCunLei& other) = default;
    rg_CheCunLei& operator=(const rg_CheCunLei& other) = default;
    ~rg_CheCunLei() override = default;

    static const ClassInfo& ClassRecord();

    const ClassInfo& GetClassInfo() const override;
    // Class, bit 0 of flags and extra, then width and height.
    bool IsEqual(const CTarnObject& other) const override;
    rg_CheCunLei* CreateNew() const override;
    rg_CheCunLei* Clone() const override;
    bool CopyFrom(const CTarnObject& other) override;
    // Width, height, flags and extra 0.
    void Reset() override;
    bool IsKindOf(const ClassInfo& info) const override;
    // Replaces out by "{ 宽度: width; 高度: height }".
    void DumpText(CWString& out, int32_t limit) const override;
    // Reads the width, then the height; a short read sets the read error and
    // leaves that field and the next unchanged.
    void LoadFrom(CTarnObjectStream& stream) override;
    void SaveTo(CTarnObjectStream& stream) const override;

    int32_t width = 0;
    int32_t height = 0;
};

} // namespace rg_tarn_base
