"""A first script against the stand-in host: vectors, a scenario's comfort and
smoke settings, property values, and what the application was asked."""
import Setup
import SetupHost

# In the application the scenario comes from the open study; the stand-in makes one.
scenario = SetupHost.new_scenario("Enclosure airflow")
assert scenario is not None

inlet = Setup.Vector(0.0, 0.0, 1.5)
outlet = Setup.Vector(inlet)
outlet.z = -1.5
print(f"inlet velocity  ({inlet.x}, {inlet.y}, {inlet.z}) m/s")
print(f"outlet velocity ({outlet.x}, {outlet.y}, {outlet.z}) m/s")

comfort = Setup.ThermalComfortParams(scenario)
print(f"comfort: metabolic rate {comfort.MetRate} met, humidity {comfort.Humidity} %, clothing {comfort.Clothing} clo")
smoke = Setup.SmokeParams(scenario)
print(f"smoke: extinction {smoke.ExtinctionCoef} m2/kg, sign constant {smoke.SignConstant}")

values: tuple[object, ...] = (42, 0.025, "Aluminium 6061", [])
for value in values:
    variant = Setup.Variant(value)
    print(f"{value!r:>18} -> kind {variant.type():2} ({variant.typeName() or 'invalid'}), as text {variant.toString()!r}")

try:
    Setup.Vector(1.0, 2.0)  # type: ignore[call-overload]  # no such form: the call shows the refusal
except Setup.OverloadError as failure:
    print("refused:", str(failure).splitlines()[0])

print("\nWhat the application was asked:")
for entry in SetupHost.journal():
    print("  " + entry)
