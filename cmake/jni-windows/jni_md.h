/*
 * The machine-dependent part of JNI for Windows, written from JNI's documented
 * types and calling convention, for the MinGW-w64 cross builds: natives are
 * exported from the DLL and use __stdcall (the 32-bit convention a Windows JVM
 * calls them with; ignored on 64-bit), jint is a 32-bit long, jlong 64-bit.
 */
#ifndef _JAVASOFT_JNI_MD_H_
#define _JAVASOFT_JNI_MD_H_

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef __int64 jlong;
typedef signed char jbyte;

#endif /* !_JAVASOFT_JNI_MD_H_ */
