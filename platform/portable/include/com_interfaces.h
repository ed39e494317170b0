// The standard COM interfaces, pure and in COM slot order: no data members, no
// destructors, only pure virtual methods, so that the vtable index of every
// method is its COM slot and a component built here has the binary layout a
// COM client expects. Their identifiers are the system's own values.
#pragma once

#include "com_types.h"

struct ITypeInfo;
struct IBindCtx;
typedef IBindCtx* LPBINDCTX;

JVELCOM_API const IID IID_IUnknown;
JVELCOM_API const IID IID_IDispatch;
JVELCOM_API const IID IID_IClassFactory;
JVELCOM_API const IID IID_IPropertyBag;
JVELCOM_API const IID IID_IPersist;
JVELCOM_API const IID IID_IPersistPropertyBag;
JVELCOM_API const IID IID_IErrorLog;
JVELCOM_API const IID IID_ISupportErrorInfo;
JVELCOM_API const IID IID_IErrorInfo;
JVELCOM_API const IID IID_ICreateErrorInfo;
JVELCOM_API const IID IID_IRunnableObject;
JVELCOM_API const IID GUID_NULL;

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) = 0;  // slot 0
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;                                     // slot 1
    virtual ULONG STDMETHODCALLTYPE Release() = 0;                                    // slot 2
};
typedef IUnknown* LPUNKNOWN;

struct IDispatch : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) = 0;                         // slot 3
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) = 0;  // slot 4
    virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                                    DISPID* ids) = 0;  // slot 5
    virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                             VARIANT* result, EXCEPINFO* exception,
                                             UINT* argumentError) = 0;  // slot 6
};

struct IClassFactory : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) = 0;
    virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) = 0;
};

struct IErrorLog : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR propertyName, EXCEPINFO* exception) = 0;
};

struct IPropertyBag : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Read(LPCOLESTR propertyName, VARIANT* value, IErrorLog* errorLog) = 0;
    virtual HRESULT STDMETHODCALLTYPE Write(LPCOLESTR propertyName, VARIANT* value) = 0;
};

struct IPersist : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) = 0;
};

struct IPersistPropertyBag : IPersist {
    virtual HRESULT STDMETHODCALLTYPE InitNew() = 0;
    virtual HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* errorLog) = 0;
    virtual HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAllProperties) = 0;
};

struct ISupportErrorInfo : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) = 0;
};

struct IErrorInfo : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSource(BSTR* source) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDescription(BSTR* description) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* helpFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* helpContext) = 0;
};

struct ICreateErrorInfo : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetGUID(REFGUID guid) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR source) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR description) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR helpFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD helpContext) = 0;
};

struct IRunnableObject : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetRunningClass(LPCLSID classId) = 0;
    virtual HRESULT STDMETHODCALLTYPE Run(LPBINDCTX bindContext) = 0;
    virtual BOOL STDMETHODCALLTYPE IsRunning() = 0;
    virtual HRESULT STDMETHODCALLTYPE LockRunning(BOOL lock, BOOL lastUnlockCloses) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL contained) = 0;
};
