#pragma once
// The project's web and mail addresses, all in one place. They are
// placeholders of this project: the ".example" domain is reserved for
// examples and reaches nobody.
namespace korimba::settings {

inline constexpr const char* kHomePage = "http://www.korimba.example/";
inline constexpr const char* kSupportMail = "support@korimba.example";
inline constexpr const char* kToolPackageAddress = "http://www.korimba.example/download/l3pack.exe";
inline constexpr const char* kVisualPackagePage = "http://www.korimba.example/packages/";

} // namespace korimba::settings
