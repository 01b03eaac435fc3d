// Property access by name on published properties.
