namespace ksv::test {} // keeps the support library non-empty until its fakes arrive
