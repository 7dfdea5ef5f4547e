#include "framework/RuntimeClass.h"

constinit const CRuntimeClass CObject::runtimeClass{"CObject", nullptr};

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* record = this; record != nullptr; record = record->m_pBaseClass) {
        if (record == base) {
            return true;
        }
    }
    return false;
}

bool CRuntimeClass::IsDerivedFrom(std::string_view className) const {
    for (const CRuntimeClass* record = this; record != nullptr; record = record->m_pBaseClass) {
        if (record->m_lpszClassName != nullptr && className == record->m_lpszClassName) {
            return true;
        }
    }
    return false;
}

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &runtimeClass;
}

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
    return runtimeClass != nullptr && GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

bool CObject::IsKindOf(std::string_view className) const {
    return GetRuntimeClass()->IsDerivedFrom(className);
}
